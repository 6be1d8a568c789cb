// The toolkit behind the layer's objects, for the layer itself and for tests that drive the
// real widgets. Application code never includes this.
#pragma once

#include <QLineEdit>
#include <QMainWindow>
#include <QWidget>

#include "platform/controls.h"
#include "platform/window.h"

namespace platform {

// The widget of a control (QLineEdit, QLabel, QPushButton or QGroupBox).
QWidget* NativeWidget(const Control& control);
// The top-level window and its content area (437 by 296 for the main window).
QMainWindow* NativeWindowWidget(const Window& window);
QWidget* NativeContentWidget(const Window& window);

}  // namespace platform
