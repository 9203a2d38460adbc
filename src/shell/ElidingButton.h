#pragma once

#include <QPushButton>

// A push button whose text, when it does not fit, is cut at the end with an ellipsis rather than
// clipped on both sides; FullText() is what it stands for.
class ElidingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    void SetFullText(const QString& text);
    const QString& FullText() const { return m_fullText; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();

    QString m_fullText;
};
