#pragma once

#include "platform/messages.h"

class QWidget;

namespace brackmoor {

// Message boxes shown with QMessageBox, modal over `parent`.
class QtMessageBoxes : public MessageSink {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    MessageAnswer show(const Message& message) override;

private:
    QWidget* parent_;
};

}  // namespace brackmoor
