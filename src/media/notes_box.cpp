#include "media/notes_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextCursor>

#include "media/game_settings.h"

namespace brackmoor {

namespace {

// Line breaks as a text document can hold them, each becoming one blank.
QString OneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (const QChar breakChar : {QChar('\r'), QChar('\n'), QChar(QChar::ParagraphSeparator),
                                  QChar(QChar::LineSeparator), QChar('\0')}) {
        text.replace(breakChar, QChar(' '));
    }
    return text;
}

}  // namespace

NotesBox::NotesBox(QWidget* parent) : QPlainTextEdit(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &NotesBox::enforceLimit);
}

int NotesBox::room() const {
    const int selected = static_cast<int>(textCursor().selectedText().size());
    return kNoteMaxLength - (static_cast<int>(toPlainText().size()) - selected);
}

void NotesBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool inserts = !text.isEmpty() && text.at(0).isPrint();
    if (inserts && text.size() > room()) {
        event->accept();  // the character would go past the limit
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void NotesBox::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        return;
    }
    const QString text = OneLine(source->text()).left(std::max(0, room()));
    if (!text.isEmpty() || textCursor().hasSelection()) {
        textCursor().insertText(text);
        ensureCursorVisible();
    }
}

void NotesBox::enforceLimit() {
    const QString text = toPlainText();
    const QString line = OneLine(text);
    if (line == text && text.size() <= kNoteMaxLength) {
        return;
    }
    const QSignalBlocker block(this);
    const int position = textCursor().position();
    setPlainText(line.left(kNoteMaxLength));
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(position, static_cast<int>(toPlainText().size())));
    setTextCursor(cursor);
}

}  // namespace brackmoor
