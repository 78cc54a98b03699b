#include "demo/Faults.h"

#include <utility>
#include <vector>

#include "base/SplitText.h"

namespace demo {
namespace {

Fault MakeFault(Fault::Kind kind, int delayMs = 0, std::string body = {}) { return Fault{kind, delayMs, std::move(body)}; }

}  // namespace

std::optional<Fault> ParseFault(const std::string& text) {
    if (text.rfind("slow:", 0) == 0) {
        try {
            return MakeFault(Fault::Kind::Slow, std::stoi(text.substr(5)));
        } catch (...) {
            return std::nullopt;
        }
    }
    if (text == "one") return MakeFault(Fault::Kind::ReplyOne);
    if (text == "zero") return MakeFault(Fault::Kind::ReplyZero);
    if (text == "malformed") return MakeFault(Fault::Kind::Malformed);
    if (text == "500") return MakeFault(Fault::Kind::ServerError);
    if (text == "drop") return MakeFault(Fault::Kind::Drop);
    if (text == "huge") return MakeFault(Fault::Kind::Huge);
    if (text == "loop") return MakeFault(Fault::Kind::Loop);
    if (text == "popups") return MakeFault(Fault::Kind::Popups);
    if (text == "selfclicks") return MakeFault(Fault::Kind::SelfClicks);
    if (text.rfind("text:", 0) == 0) return MakeFault(Fault::Kind::Text, 0, text.substr(5));
    if (text.rfind("page:", 0) == 0) return MakeFault(Fault::Kind::Page, 0, text.substr(5));
    if (text.rfind("redirect:", 0) == 0) return MakeFault(Fault::Kind::Redirect, 0, text.substr(9));
    return std::nullopt;
}

void Faults::Set(const std::string& target, const Fault& fault) {
    std::lock_guard lock(mutex_);
    faults_[target] = fault;
}

void Faults::ClearAll() {
    std::lock_guard lock(mutex_);
    faults_.clear();
    updateText_ = "0====0====0====0====1.0";
    rate_ = 0;
}

std::optional<Fault> Faults::For(const std::string& path) const {
    std::lock_guard lock(mutex_);
    std::optional<Fault> found;
    size_t longest = 0;
    for (const auto& [target, fault] : faults_) {
        const bool matches = path.size() >= target.size() &&
                             path.compare(path.size() - target.size(), target.size(), target) == 0;
        if (matches && target.size() >= longest) {
            found = fault;
            longest = target.size();
        }
    }
    return found;
}

void Faults::SetUpdateText(const std::string& text) {
    std::lock_guard lock(mutex_);
    updateText_ = text;
}

void Faults::SetUpdateField(int index, const std::string& value) {
    std::lock_guard lock(mutex_);
    std::vector<std::string> fields = ruvo::SplitText(updateText_, "====");
    fields.resize(std::max<size_t>(fields.size(), 5));
    fields[static_cast<size_t>(index)] = value;
    updateText_.clear();
    for (size_t i = 0; i < fields.size(); ++i) updateText_ += (i ? "====" : "") + fields[i];
}

std::string Faults::UpdateText() const {
    std::lock_guard lock(mutex_);
    return updateText_;
}

void Faults::SetRate(long bytesPerSecond) {
    std::lock_guard lock(mutex_);
    rate_ = bytesPerSecond;
}

long Faults::Rate() const {
    std::lock_guard lock(mutex_);
    return rate_;
}

}  // namespace demo
