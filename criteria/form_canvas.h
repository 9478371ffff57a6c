// The criteria form's scrolled surface: the controls live on it, and it
// paints the two frames, the title above the upper frame and the band atop
// the lower frame, wherever the frames stand at the time of the paint.
#pragma once

#include <QWidget>

namespace zandor {

class FormCanvas final : public QWidget {
    Q_OBJECT

  public:
    explicit FormCanvas(QWidget* parent = nullptr);
    // The frames the header follows; the canvas draws nothing without them.
    void setFrames(const QWidget* upper, const QWidget* lower);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QWidget* m_upper = nullptr;
    const QWidget* m_lower = nullptr;
};

}  // namespace zandor
