#pragma once
#include "ui/dialog.h"
#include "ui/qt/qt_ui.h"
#include "ui/qt/qt_window.h"

#include <QString>
#include <functional>

// Shows the dialog modally on the Qt backend and, once it is up, runs the
// preparation, saves its picture as NAME.png in the screenshot folder, checks
// that every text fits and what a screen reader hears, and closes it.
void CaptureDialog(
    ui::qt::CQtUi& services, ui::CDialog& dialog, const QString& name,
    const std::function<void(ui::qt::CQtWindow&)>& prepare = [](ui::qt::CQtWindow&) {});
