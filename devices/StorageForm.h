// The window of a storage device: the hex dump of the bytes written during this run (read-only),
// the clear button and the keep-on-top button. Created once at start-up and only shown and
// hidden; the device keeps working while the window is hidden. TFloppyFrm and THDiscFrm differ
// only in their names.
#pragma once

#include <QWidget>

#include "MessageService.h"
#include "StorageDevice.h"

class QToolButton;

namespace orlan {

class HexDumpView;

class StorageForm : public QWidget {
    Q_OBJECT
  public:
    StorageDevice& device() { return device_; }
    HexDumpView* bufferView() const { return buffer_; }

    void clearBuffer();             // ClrBuffer_BTN
    void setKeepOnTop(bool on);     // KeepVisible
    bool keepOnTop() const { return keepOnTop_; }
    // Brings the view up to date at once (otherwise it catches up on a timer).
    void syncBuffer();

  signals:
    // The device failed and is about to say so in `box`. Connected directly: a program that is
    // running is stopped first, and the box then says so.
    void deviceFailed(orlan::MessageBox* box);

  protected:
    // caption: the window's title as marked for translation in the context "orlan::StorageForm".
    StorageForm(const StorageProfile& profile, const char* objectName, const char* caption,
                const char* bufferName, MessageService& messages, Settings settings,
                QWidget* parent);
    void changeEvent(QEvent* event) override;

  private:
    void retranslate();

    MessageService& messages_;
    StorageDevice device_;
    const char* caption_;
    HexDumpView* buffer_ = nullptr;
    QToolButton* clear_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    bool keepOnTop_ = false;
};

}  // namespace orlan
