#include "shell/plain_edit_combo.h"

#include <QApplication>
#include <QComboBox>
#include <QProxyStyle>
#include <QStyleOptionComboBox>

namespace {

// The application's style with the combo box's arrow taken out: a style sheet that only narrows
// the button leaves an empty button frame behind.
class PlainEditStyle : public QProxyStyle {
public:
    explicit PlainEditStyle(const QString& base) : QProxyStyle(base) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        if (control == CC_ComboBox) {
            if (sub == SC_ComboBoxArrow) {
                return {};
            }
            if (sub == SC_ComboBoxEditField) {
                // The same margin on the right as on the left, where the arrow was.
                QRect field = QProxyStyle::subControlRect(control, option, sub, widget);
                field.setRight(option->rect.right() - (field.left() - option->rect.left()));
                return field;
            }
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (control == CC_ComboBox) {
            // Drawn as a line edit's frame: no button, no arrow.
            QStyleOptionFrame frame;
            frame.QStyleOption::operator=(*option);
            frame.lineWidth = pixelMetric(PM_DefaultFrameWidth, option, widget);
            frame.midLineWidth = 0;
            frame.state |= State_Sunken;
            drawPrimitive(PE_PanelLineEdit, &frame, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

}  // namespace

void ShowAsPlainEdit(QComboBox* combo) {
    auto* style = new PlainEditStyle(QApplication::style()->name());
    style->setParent(combo);
    combo->setStyle(style);
}
