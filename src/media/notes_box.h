#pragma once

#include <QPlainTextEdit>

namespace brackmoor {

// The note of a game: one line of at most kNoteMaxLength characters, shown wrapped. Enter is
// swallowed; pasted or dropped text has its line breaks turned into blanks and is cut to what
// still fits, so the note always stays one INI value.
class NotesBox : public QPlainTextEdit {
public:
    explicit NotesBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many characters may still be inserted in place of the current selection.
    int room() const;
    // Last line of defence (input methods and the like): cut anything beyond the limit.
    void enforceLimit();
};

}  // namespace brackmoor
