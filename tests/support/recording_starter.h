#pragma once

#include <string>
#include <vector>

#include "platform/process_starter.h"

namespace brackmoor::test {

// Records the requests instead of starting anything; answers with `failure` when it is set.
class RecordingProcessStarter : public ProcessStarter {
public:
    Result start(const ProcessRequest& request, int* pid) override {
        started.push_back(request);
        if (!failure.empty()) {
            return Result::Fail(failure);
        }
        if (pid != nullptr) {
            *pid = 0;
        }
        return Result::Ok();
    }

    std::vector<ProcessRequest> started;
    std::string failure;
};

}  // namespace brackmoor::test
