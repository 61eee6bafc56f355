#include "media/media_widgets.h"

#include <QComboBox>
#include <QLabel>

#include "platform/qt_twips.h"

namespace brackmoor {

QLabel* MakeCaption(QWidget* parent, const char* name, const char* text, const QRect& twips,
                    const QPoint& origin) {
    auto* label = new QLabel(text, parent);
    PlaceInTwips(label, name, twips, origin);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void MakeChoiceList(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
}

int ChosenPosition(const QComboBox* combo) {
    const int index = combo->currentIndex();
    if (index < 0 || (combo->isEditable() && combo->currentText() != combo->itemText(index))) {
        return -1;
    }
    return index;
}

void ChoosePosition(QComboBox* combo, int position) {
    if (position >= 0 && position < combo->count()) {
        combo->setCurrentIndex(position);
        combo->setEditText(combo->itemText(position));
    } else {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
}

}  // namespace brackmoor
