#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "launch/launch_plan.h"

namespace brackmoor::test {

// A file list with the behaviour the launch relies on: selecting an item from the program
// makes it the focused item, and every change runs `onSelectionHandling` (the media window's
// reload) before setSelected returns.
class FakeFileList : public FileListView {
public:
    explicit FakeFileList(std::vector<std::string> names)
        : names_(std::move(names)), selected_(names_.size(), false) {}

    int count() const override { return static_cast<int>(names_.size()); }
    bool isSelected(int index) const override { return selected_.at(index); }
    void setSelected(int index, bool selected) override {
        selected_.at(index) = selected;
        if (selected) {
            focused_ = index;
        }
        log.emplace_back(index, selected);
        if (onSelectionHandling) {
            onSelectionHandling(*this);
        }
    }
    std::string name(int index) const override { return names_.at(index); }
    int focusedIndex() const override { return focused_; }

    // A user's click: only `index` selected and focused, as the list control does it, without
    // logging it as a program change.
    void click(int index) {
        std::fill(selected_.begin(), selected_.end(), false);
        selected_.at(index) = true;
        focused_ = index;
        if (onSelectionHandling) {
            onSelectionHandling(*this);
        }
    }
    // A user's Ctrl+click adding `index`.
    void ctrlClick(int index) {
        selected_.at(index) = true;
        focused_ = index;
        if (onSelectionHandling) {
            onSelectionHandling(*this);
        }
    }

    std::vector<int> selectedItems() const {
        std::vector<int> out;
        for (int i = 0; i < count(); ++i) {
            if (selected_[i]) {
                out.push_back(i);
            }
        }
        return out;
    }

    std::function<void(FakeFileList&)> onSelectionHandling;
    std::vector<std::pair<int, bool>> log;  // program-made changes, in order

private:
    std::vector<std::string> names_;
    std::vector<bool> selected_;
    int focused_ = -1;
};

}  // namespace brackmoor::test
