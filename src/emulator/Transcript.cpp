#include "Transcript.h"

#include <cstdio>

namespace zelvor::emu {

Transcript::Transcript() : t0_(std::chrono::steady_clock::now()) {}

bool Transcript::open(const std::string& path) {
    std::lock_guard lock(mutex_);
    file_.open(path, std::ios::out | std::ios::trunc);
    return static_cast<bool>(file_);
}

std::string Transcript::hex(const std::uint8_t* data, std::size_t n) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 0x0F];
    }
    return out;
}

void Transcript::record(const char* dir, const char* kind, const std::uint8_t* data, std::size_t n,
                        const std::string& fields) {
    if (!keep_ && !file_.is_open()) return;
    const auto ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0_).count();
    char head[160];
    std::snprintf(head, sizeof head, "{\"ms\":%.3f,\"dir\":\"%s\",\"kind\":\"%s\",\"len\":%zu", ms,
                  dir, kind, n);
    std::string line = head;
    line += ",\"hex\":\"" + hex(data, n) + "\"";
    if (!fields.empty()) line += ",\"fields\":" + fields;
    line += "}";
    write(line);
}

void Transcript::event(const char* kind, const std::string& fields) {
    record("event", kind, nullptr, 0, fields);
}

void Transcript::write(const std::string& line) {
    std::lock_guard lock(mutex_);
    char seq[32];
    std::snprintf(seq, sizeof seq, "{\"seq\":%llu,", static_cast<unsigned long long>(seq_++));
    const std::string full = seq + line.substr(1);
    if (file_.is_open()) {
        file_ << full << '\n';
        file_.flush();
    }
    if (keep_) lines_.push_back(full);
}

std::vector<std::string> Transcript::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void Transcript::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

} // namespace zelvor::emu
