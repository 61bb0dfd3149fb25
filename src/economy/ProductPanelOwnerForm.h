#pragma once

#include <QDialog>

namespace qv {

class TProductFrame;

// The base of the windows that stack product frames: a frame tells its
// window here after the player changed its price.
class TProductPanelOwnerForm : public QDialog {
 public:
  using QDialog::QDialog;
  virtual void ProductChanged(TProductFrame* frame) = 0;
};

}  // namespace qv
