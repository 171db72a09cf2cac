// The "确定" and "取消" buttons of a modal dialog, wired to accept and reject.
#pragma once

class QDialog;
class QDialogButtonBox;

// "确定" is the default button; the box belongs to the dialog and still needs a place in its layout.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);
