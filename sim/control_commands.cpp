#include "sim/control_commands.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "device/parse_number.h"
#include "sim/hex_dump.h"

namespace kv::sim {
namespace {

using Words = std::vector<std::string_view>;

Words Split(std::string_view line) {
    Words words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n'))
            ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string Ok(std::string output = {}) { return "ok\n" + output; }
std::string Error(std::string_view why) { return "error: " + std::string(why) + "\n"; }

std::string Line(const char* format, unsigned long long a, unsigned long long b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string StatusText(SimHidService& service) {
    SimStatus s = service.Status();
    std::string text;
    text += std::string("plugged ") + (s.plugged ? "yes" : "no") + "\n";
    text += std::string("update-mode ") + (s.update_mode ? "yes" : "no") + "\n";
    text += std::string("config-open ") + (s.config_open ? "yes" : "no") + "\n";
    text += std::string("usb-timing ") + (s.usb_timing ? "on" : "off") + "\n";
    text += Line("indicator %02llX %02llX\n", s.indicator[0], s.indicator[1]);
    text += std::string("layer ") + ((s.indicator[1] & 1) ? "B" : "A") + "\n";
    text += Line("active-profile %llu\n", service.Memory().ActiveProfile());
    text += Line("macro-capacity %llu\n", service.Memory().MacroCapacity());
    text += Line("reports %llu (refused %llu)\n", s.keyboard.reports, s.keyboard.refused);
    text += Line("config-exchanges %llu begun, %llu ended\n", s.keyboard.begin_config, s.keyboard.end_config);
    text +=
        Line("writes %llu (%llu outside an exchange)\n", s.keyboard.writes, s.keyboard.writes_outside_config);
    text += Line("standing-reads %llu\n", s.standing_reads);
    return text;
}

std::string Fault(SimHidService& service, const Words& w) {
    if (w.size() < 2) return Error("fault needs a kind");
    FaultSettings f = service.Faults();
    if (w[1] == "clear") {
        service.ClearFaults();
        return Ok();
    }
    if (w[1] == "show") return Ok(service.DescribeFaults());
    uint32_t n = 0;
    if (w[1] == "status") {
        if (w.size() != 4 || (w[2] != "FE" && w[2] != "fe" && w[2] != "FF" && w[2] != "ff") ||
            !ParseNumber(w[3], &n))
            return Error("usage: fault status FE|FF N");
        f.status = (w[2] == "FE" || w[2] == "fe") ? 0xFE : 0xFF;
        f.fail_status = n;
    } else {
        if (w.size() != 3 || !ParseNumber(w[2], &n)) return Error("usage: fault KIND N");
        if (w[1] == "drop-requests")
            f.drop_requests = n;
        else if (w[1] == "drop-replies")
            f.drop_replies = n;
        else if (w[1] == "wrong-code")
            f.wrong_code = n;
        else if (w[1] == "unplug-after")
            f.unplug_after = n;
        else if (w[1] == "latency")
            f.latency = std::chrono::milliseconds(n);
        else if (w[1] == "after")
            f.after = n;
        else
            return Error("unknown fault kind");
    }
    service.SetFaults(f);
    return Ok(service.DescribeFaults());
}

std::string Dump(SimHidService& service, const Words& w) {
    if (w.size() < 2 || w.size() > 4) return Error("usage: dump AREA [OFFSET [LENGTH]]");
    auto area = AreaFromName(w[1]);
    if (!area) return Error("unknown area (settings, profiles, keymaps, macro, matrix, colours)");
    std::vector<uint8_t> bytes = service.AreaBytes(*area);
    uint32_t offset = 0, length = static_cast<uint32_t>(bytes.size());
    if (w.size() >= 3 && !ParseNumber(w[2], &offset)) return Error("bad offset");
    if (offset > bytes.size()) return Error("offset past the end of the area");
    length = static_cast<uint32_t>(bytes.size() - offset);
    if (w.size() == 4) {
        uint32_t wanted = 0;
        if (!ParseNumber(w[3], &wanted)) return Error("bad length");
        if (wanted < length) length = wanted;
    }
    return Ok(HexDump(std::span<const uint8_t>(bytes).subspan(offset, length), offset));
}

// poke AREA OFFSET BYTE...: bytes in hexadecimal, written straight into memory.
std::string Poke(SimHidService& service, const Words& w) {
    if (w.size() < 4) return Error("usage: poke AREA OFFSET BYTE...");
    auto area = AreaFromName(w[1]);
    if (!area) return Error("unknown area (settings, profiles, keymaps, macro, matrix, colours)");
    uint32_t offset = 0;
    if (!ParseNumber(w[2], &offset)) return Error("bad offset");
    std::vector<uint8_t> bytes;
    for (size_t i = 3; i < w.size(); ++i) {
        uint32_t value = 0;
        auto [end, ec] = std::from_chars(w[i].data(), w[i].data() + w[i].size(), value, 16);
        if (ec != std::errc() || end != w[i].data() + w[i].size() || w[i].size() > 2)
            return Error("bytes are one or two hexadecimal digits");
        bytes.push_back(static_cast<uint8_t>(value));
    }
    if (!service.WriteArea(*area, offset, bytes)) return Error("past the end of the area");
    return Ok();
}

std::string Log(SimHidService& service, const Words& w) {
    if (w.size() < 2) return Error("usage: log on|off|clear|show [N]");
    if (w[1] == "on" || w[1] == "off") {
        service.EnableTrafficLog(w[1] == "on");
        return Ok();
    }
    if (w[1] == "clear") {
        service.ClearTraffic();
        return Ok();
    }
    if (w[1] != "show") return Error("usage: log on|off|clear|show [N]");
    uint32_t last = 50;
    if (w.size() == 3 && !ParseNumber(w[2], &last)) return Error("bad count");
    std::vector<TrafficEntry> entries = service.Traffic();
    size_t first = entries.size() > last ? entries.size() - last : 0;
    std::string text;
    for (size_t i = first; i < entries.size(); ++i) text += FormatTrafficEntry(entries[i]) + "\n";
    return Ok(text);
}

std::string Consumer(SimHidService& service, uint32_t usage) {
    return service.SendConsumer(static_cast<uint16_t>(usage)) ? Ok() : Error("keyboard is not plugged in");
}

struct CommandEntry {
    std::string_view name;
    std::function<std::string(SimHidService&, const Words&)> run;
};

const std::vector<CommandEntry>& Commands() {
    static const std::vector<CommandEntry> commands = {
        {"help", [](SimHidService&, const Words&) { return Ok(ControlHelp()); }},
        {"status", [](SimHidService& s, const Words&) { return Ok(StatusText(s)); }},
        {"plug",
         [](SimHidService& s, const Words&) {
             s.Plug();
             return Ok();
         }},
        {"unplug",
         [](SimHidService& s, const Words&) {
             s.Unplug();
             return Ok();
         }},
        {"layer", [](SimHidService& s, const Words&) { return Consumer(s, 0x02FF); }},
        {"lighting", [](SimHidService& s, const Words&) { return Consumer(s, 0x0401); }},
        {"busy",
         [](SimHidService& s, const Words& w) {
             if (w.size() != 2 || (w[1] != "begin" && w[1] != "end")) return Error("usage: busy begin|end");
             return Consumer(s, w[1] == "begin" ? 0x1811 : 0x1810);
         }},
        {"consumer",
         [](SimHidService& s, const Words& w) {
             uint32_t usage = 0;
             if (w.size() != 2 || !ParseNumber(w[1], &usage) || usage > 0xFFFF)
                 return Error("usage: consumer USAGE");
             return Consumer(s, usage);
         }},
        {"fault", Fault},
        {"timing",
         [](SimHidService& s, const Words& w) {
             if (w.size() != 2 || (w[1] != "on" && w[1] != "off")) return Error("usage: timing on|off");
             s.SetUsbTiming(w[1] == "on");
             return Ok();
         }},
        {"dump", Dump},
        {"poke", Poke},
        {"log", Log},
        {"reset",
         [](SimHidService& s, const Words& w) {
             uint32_t units = kFactoryMacroUnits;
             if (w.size() == 2 && (!ParseNumber(w[1], &units) || units > 255))
                 return Error("usage: reset [UNITS]");
             s.SetMemory(KeyboardMemory::Factory(static_cast<uint8_t>(units)));
             return Ok();
         }},
        {"save",
         [](SimHidService& s, const Words&) {
             return s.SaveState() ? Ok() : Error("no state saved: " + s.StateError());
         }},
    };
    return commands;
}

}  // namespace

std::string ControlHelp() {
    return "status                      presence, layer, counters\n"
           "plug | unplug               attach or detach the keyboard\n"
           "layer                       press the G-key layer key (0x02FF)\n"
           "busy begin|end              busy codes 0x1811 / 0x1810\n"
           "lighting                    lighting changed on the keyboard (0x0401)\n"
           "consumer USAGE              any consumer code\n"
           "fault drop-requests N       the next N reports never arrive\n"
           "fault drop-replies N        the next N reports get no reply\n"
           "fault wrong-code N          the next N replies carry another command code\n"
           "fault status FE|FF N        the next N reports are refused with that status\n"
           "fault latency MS            every reply comes MS later\n"
           "fault unplug-after N        unplug once N more reports are answered\n"
           "fault after N               the one-shot faults wait for N more reports\n"
           "fault clear | fault show\n"
           "timing on|off               1 ms USB frame model\n"
           "dump AREA [OFFSET [LENGTH]] hex dump: settings profiles keymaps macro matrix colours\n"
           "poke AREA OFFSET BYTE...    write hexadecimal bytes into an area\n"
           "log on|off|clear|show [N]   traffic log (last N reports, 50 by default)\n"
           "reset [UNITS]               factory memory, macro capacity in 128-byte units\n"
           "save                        write the state file now\n";
}

std::string RunControlCommand(SimHidService& service, std::string_view line) {
    try {
        Words words = Split(line);
        if (words.empty()) return Error("empty command");
        for (const CommandEntry& entry : Commands())
            if (entry.name == words[0]) return entry.run(service, words);
        return Error("unknown command '" + std::string(words[0]) + "' (try help)");
    } catch (...) {
        return Error("command failed");
    }
}

}  // namespace kv::sim
