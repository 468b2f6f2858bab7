// The Qt Widgets headers the screens include most; precompiled once per build.
#pragma once

#include "std.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>
