// "Временная диаграмма": the lamps and buses of the last tacts, following the machine.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <vector>

#include "Timing.h"

class QPushButton;
class QScrollArea;
class QTimer;

namespace orlan {

class CCommands;
class Machine;
class MessageService;

class TTimingCanvas : public QWidget {
public:
    explicit TTimingCanvas(QWidget* parent = nullptr);
    void setSamples(std::vector<TimingSample> samples);
    const std::vector<TimingSample>& samples() const { return samples_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<TimingSample> samples_;
};

class TTimingFrm : public QWidget {
    Q_OBJECT
public:
    TTimingFrm(const Machine& machine, const CCommands& cpu, MessageService& messages, QWidget* parent);
    // Called wherever the main window catches up; repaints at most 60 times a second.
    void followMachine();
    // Writes the picture: SVG for a name ending in .svg, PNG otherwise. False after a message.
    bool saveTo(const QString& name);
    const TTimingCanvas* canvas() const { return canvas_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent*) override;

private:
    void retranslate();
    void reload();
    void askAndSave();

    const Machine& machine_;
    const CCommands& cpu_;
    MessageService& messages_;
    TTimingCanvas* canvas_;
    QScrollArea* scroll_;
    QPushButton* save_;
    QTimer* pending_;
    QElapsedTimer lastPaint_;
};

}  // namespace orlan
