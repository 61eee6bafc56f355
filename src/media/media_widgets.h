#pragma once

#include <QRect>

class QComboBox;
class QLabel;
class QWidget;

namespace brackmoor {

// Small pieces the media window's tabs share.

// A caption at its design place (twips from `origin`), its text at the top left as the
// design draws it above its box.
QLabel* MakeCaption(QWidget* parent, const char* name, const char* text, const QRect& twips,
                    const QPoint& origin);

// A drop-down list with a text field the user may type into, as the choice lists are.
void MakeChoiceList(QComboBox* combo);

// The list position a combo box stands for: its current entry, or -1 when it has none or the
// user has typed something else into its text field.
int ChosenPosition(const QComboBox* combo);

// Chooses entry `position`; a position outside the list leaves it with no entry chosen.
void ChoosePosition(QComboBox* combo, int position);

}  // namespace brackmoor
