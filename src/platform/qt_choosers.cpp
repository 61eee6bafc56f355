#include "platform/qt_choosers.h"

#include <QFileDialog>

namespace brackmoor {

QStringList QtChoosers::NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1].trimmed();
        if (pattern == "*.*") {
            pattern = "*";
        }
        QString description = parts[i].trimmed();
        // The toolkit takes the patterns from the last pair of parentheses, so a description
        // that has its own ("(But Should Be *.UAE)") gets the real pattern after it.
        if (!description.endsWith("(" + pattern + ")")) {
            description += " (" + pattern + ")";
        }
        filters << description;
    }
    return filters;
}

bool QtChoosers::PatternsHidden(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    const QStringList shown = NameFilters(filter);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == parts[2 * i].trimmed()) {
            return false;
        }
    }
    return !shown.isEmpty();
}

std::optional<std::string> QtChoosers::chooseFile(const std::string& filter) {
    QFileDialog dialog(parent_);
    dialog.setObjectName("cmdGetFile");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails, PatternsHidden(filter));
    dialog.setNameFilters(NameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtChoosers::chooseFolder(const std::string& title) {
    const QString folder = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(title),
                                                             QString(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder.toStdString();
}

}  // namespace brackmoor
