#pragma once

#include <QStringList>

#include "platform/choosers.h"

class QWidget;

namespace brackmoor {

// The toolkit's own file and folder dialogs, modal over `parent`.
class QtChoosers : public Choosers {
public:
    explicit QtChoosers(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> chooseFile(const std::string& filter) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;

    // The pairs of `filter` as the toolkit's name filters: "description (pattern)", "*.*"
    // widened to "*" so that names without a dot show too, as they do on Windows.
    static QStringList NameFilters(const std::string& filter);
    // True when NameFilters had to add the pattern to every description: the dialog then shows
    // each description as it is written ("All Files (But Should Be *.UAE)"), the pattern only
    // filtering.
    static bool PatternsHidden(const std::string& filter);

private:
    QWidget* parent_;
};

}  // namespace brackmoor
