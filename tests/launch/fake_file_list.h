#pragma once

#include <string>
#include <utility>
#include <vector>

#include "launch/launch_plan.h"

namespace brackmoor::test {

// A file list whose program-made selection changes focus the item and are logged in order.
class FakeFileList : public FileListView {
public:
    explicit FakeFileList(std::vector<std::string> names)
        : names_(std::move(names)), selected_(names_.size(), false) {}

    int count() const override { return static_cast<int>(names_.size()); }
    bool isSelected(int index) const override { return selected_.at(index); }
    void setSelected(int index, bool selected) override {
        selected_.at(index) = selected;
        focused_ = selected ? index : focused_;
        log.emplace_back(index, selected);
    }
    std::string name(int index) const override { return names_.at(index); }
    int focusedIndex() const override { return focused_; }

    // A user's Ctrl+click, not logged: `index` added to the selection and focused.
    void click(int index) {
        selected_.at(index) = true;
        focused_ = index;
    }

    std::vector<std::pair<int, bool>> log;

private:
    std::vector<std::string> names_;
    std::vector<bool> selected_;
    int focused_ = -1;
};

}  // namespace brackmoor::test
