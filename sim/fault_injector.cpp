#include "sim/fault_injector.h"

#include <cstdio>

namespace kv::sim {
namespace {

bool Take(uint32_t& counter) {
    if (counter == 0) return false;
    --counter;
    return true;
}

}  // namespace

FaultDecision FaultInjector::Next() {
    FaultDecision d;
    d.latency = settings_.latency;
    if (settings_.unplug_after > 0) d.unplug_after_reply = --settings_.unplug_after == 0;
    if (Take(settings_.after)) return d;
    if (Take(settings_.drop_requests)) {
        d.reach_keyboard = false;
        d.reply = false;
        return d;
    }
    if (Take(settings_.fail_status)) {
        d.refuse = true;
        d.status = settings_.status;
        return d;
    }
    if (Take(settings_.drop_replies)) {
        d.reply = false;
        return d;
    }
    d.wrong_code = Take(settings_.wrong_code);
    return d;
}

std::string FaultInjector::Describe() const {
    std::string text;
    char line[96];
    auto add = [&](const char* name, uint32_t n) {
        if (n == 0) return;
        std::snprintf(line, sizeof line, "%s %u\n", name, static_cast<unsigned>(n));
        text += line;
    };
    add("drop-requests", settings_.drop_requests);
    add("drop-replies", settings_.drop_replies);
    add("wrong-code", settings_.wrong_code);
    if (settings_.fail_status) {
        std::snprintf(line, sizeof line, "status %02X %u\n", settings_.status,
                      static_cast<unsigned>(settings_.fail_status));
        text += line;
    }
    add("unplug-after", settings_.unplug_after);
    add("latency-ms", static_cast<uint32_t>(settings_.latency.count()));
    add("after", settings_.after);
    return text.empty() ? "none\n" : text;
}

}  // namespace kv::sim
