// The window of a storage device: the hex dump of the bytes written during this run (read-only),
// the clear button and the keep-on-top button. Created once at start-up and only shown and
// hidden; the device keeps working while the window is hidden. TFloppyFrm and THDiscFrm differ
// only in their names.
#pragma once

#include <QWidget>

#include "MessageService.h"
#include "StorageDevice.h"

class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace orlan {

class StorageForm : public QWidget {
    Q_OBJECT
  public:
    StorageDevice& device() { return device_; }
    QPlainTextEdit* bufferView() const { return buffer_; }

    void clearBuffer();             // ClrBuffer_BTN
    void setKeepOnTop(bool on);     // KeepVisible
    bool keepOnTop() const { return keepOnTop_; }
    // Brings the view up to date at once (otherwise it catches up on a timer).
    void syncBuffer();

  protected:
    StorageForm(const StorageProfile& profile, const char* objectName, const QString& caption,
                const char* bufferName, MessageService& messages, Settings settings, QWidget* parent);
    void showEvent(QShowEvent* event) override;

  private:
    void onDeviceChanged();

    MessageService& messages_;
    StorageDevice device_;
    QPlainTextEdit* buffer_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    QTimer* syncTimer_ = nullptr;
    qsizetype shownBytes_ = 0;  // bytes of the dump already in the view
    bool keepOnTop_ = false;
};

}  // namespace orlan
