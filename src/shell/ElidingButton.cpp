#include "ElidingButton.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>

void ElidingButton::SetFullText(const QString& text) {
    m_fullText = text;
    elide();
}

void ElidingButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    elide();
}

void ElidingButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        elide();
}

void ElidingButton::elide() {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    QString shown = fontMetrics().elidedText(m_fullText, Qt::ElideRight, std::max(contents.width() - 2, 0));
    setText(shown.replace(u'&', QStringLiteral("&&"))); // a record's text has no mnemonic
}
