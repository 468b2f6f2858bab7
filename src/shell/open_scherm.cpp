#include "shell/open_scherm.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/product_logo.h"

TOpenScherm::TOpenScherm(QWidget* parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      creatingFiles_(new QLabel("One moment, creating files...", this)) {
    setObjectName("OpenScherm");
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(250, 250, 252));
    colours.setColor(QPalette::WindowText, QColor(25, 35, 70));
    setPalette(colours);

    auto* logo = new QLabel(this);
    logo->setPixmap(ProductLogoPixmap(96, devicePixelRatioF()));

    auto* product = new QLabel("TUNELO", this);
    product->setObjectName("ProductName");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    big.setLetterSpacing(QFont::PercentageSpacing, 115);
    product->setFont(big);

    auto* version = new QLabel(kProductVersion, this);
    version->setObjectName("Version");

    creatingFiles_->setObjectName("CreatingFiles");
    QFont italic = creatingFiles_->font();
    italic.setItalic(true);
    creatingFiles_->setFont(italic);
    creatingFiles_->setAlignment(Qt::AlignCenter);
    // Keep its room so that the splash does not change size when the line appears.
    QSizePolicy keepRoom = creatingFiles_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    creatingFiles_->setSizePolicy(keepRoom);
    creatingFiles_->hide();

    auto* text = new QVBoxLayout;
    text->addStretch();
    text->addWidget(product);
    text->addWidget(version);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->setSpacing(24);
    top->addWidget(logo);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 18);
    layout->setSpacing(18);
    layout->addLayout(top);
    layout->addWidget(creatingFiles_);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

void TOpenScherm::ShowCentred() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect area = frameGeometry();
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
    show();
    repaint();
    // Startup work follows without returning to the event loop; let the window reach the screen.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TOpenScherm::ShowCreatingFiles() {
    creatingFiles_->show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
