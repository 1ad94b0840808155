// A device link wired to the scripted fake library.
#pragma once

#include <chrono>
#include <vector>

#include "device/commands.h"
#include "device/transact.h"
#include "fake_service.h"

namespace kv::device::test {

using namespace std::chrono_literals;

// Replies arrive in microseconds; a long wait keeps loaded machines from timing out.
inline constexpr TransactTimings kAnswered{.reply_wait = 5000ms, .retry_pause = 1ms, .busy_wait = 0ms};
// For scripts in which the keyboard stays silent on purpose.
inline constexpr TransactTimings kScripted{.reply_wait = 300ms, .retry_pause = 1ms, .busy_wait = 0ms};

struct Rig {
    explicit Rig(TransactTimings timings = kAnswered) : link(fake, timings), commands(link) {
        fake.SetSink([this](const uint8_t* data, uint32_t count) { link.OnReply(data, count); });
    }
    // The worker must not deliver into a link that is gone.
    ~Rig() { fake.Stop(); }

    FakeService fake;
    DeviceLink link;
    Commands commands;
};

// What the keyboard does with one report of a script.
enum class Step { kOk, kStatusOther, kStatusFE, kStatusFF, kSilent, kForeign, kShort };

// Answers send n with script[n]; past the end of the script, silence.
inline FakeService::Responder Script(std::vector<Step> script) {
    return [script](const Report& request, int index) -> Answer {
        const Step step = index < static_cast<int>(script.size()) ? script[index] : Step::kSilent;
        switch (step) {
            case Step::kOk:
                return Echo(request, 0x00);
            case Step::kStatusOther:
                return Echo(request, 0x80);
            case Step::kStatusFE:
                return Echo(request, 0xFE);
            case Step::kStatusFF:
                return Echo(request, 0xFF);
            case Step::kForeign:
                return WithCode(request, static_cast<uint8_t>(request[kFieldCommand] + 1));
            case Step::kShort: {
                Answer answer = Echo(request);
                answer.bytes.resize(5);  // code present, status missing
                return answer;
            }
            case Step::kSilent:
                break;
        }
        return Silent();
    };
}

}  // namespace kv::device::test
