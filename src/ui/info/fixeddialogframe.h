#pragma once

class QDialog;

// The Help and About windows share their frame: a fixed client size, a title bar with a close box only,
// and a place in the middle of the screen. A dialog with an owner gets no taskbar entry of its own.
void setUpFixedDialogFrame(QDialog &dialog, int clientWidth, int clientHeight);
