#include "messages.hpp"

#include <cstdio>
#include <utility>
#include "process_state.hpp"

namespace wl {

namespace {

PromptHook& currentHook() {
    return processState().prompts.get<PromptHook>();
}

bool show(PromptKind kind, const char* function, const Value& text,
          const std::optional<Value>& caption, const char* defaultCaption) {
    Prompt p;
    p.kind = kind;
    p.function = function;
    p.text = messageText(text);
    p.caption = caption ? messageText(*caption) : std::string(defaultCaption);
    if (auto& hook = currentHook()) return hook(p).yes;
    return platformMessageBox(p);
}

}  // namespace

bool hookAnswer(const Prompt& prompt, PromptAnswer& answer) {
    auto& hook = currentHook();
    if (!hook) return false;
    answer = hook(prompt);
    return true;
}

void setPromptHook(PromptHook hook) { currentHook() = std::move(hook); }

PromptHook promptHook() { return currentHook(); }

ScopedPromptHook::ScopedPromptHook(PromptHook hook) : previous_(std::move(currentHook())) {
    currentHook() = std::move(hook);
}

ScopedPromptHook::~ScopedPromptHook() { currentHook() = std::move(previous_); }

std::string messageText(const Value& v) {
    const auto& s = v.storage();
    if (std::holds_alternative<std::monostate>(s)) return "nil";
    if (auto* n = std::get_if<std::int64_t>(&s)) return std::to_string(*n);
    if (auto* d = std::get_if<double>(&s)) {
        char buf[512];
        std::snprintf(buf, sizeof buf, "%f", *d);
        return buf;
    }
    if (auto* b = std::get_if<bool>(&s)) return *b ? ".T." : ".F.";
    if (auto* t = std::get_if<std::string>(&s)) return *t;
    if (auto* d = std::get_if<Date>(&s)) return dateText(*d);
    if (std::holds_alternative<ValueList>(s)) return "Array";
    return "Object";
}

void MSGINFO(const Value& text, const std::optional<Value>& caption) {
    show(PromptKind::Info, "MSGINFO", text, caption, "Information");
}
void MSGALERT(const Value& text, const std::optional<Value>& caption) {
    show(PromptKind::Alert, "MSGALERT", text, caption, "Alert");
}
void NMSGBOX(const Value& text, const std::optional<Value>& caption) {
    show(PromptKind::Alert, "NMSGBOX", text, caption, "Alert");
}
void MSGSTOP(const Value& text, const std::optional<Value>& caption) {
    show(PromptKind::Stop, "MSGSTOP", text, caption, "Stop");
}
bool MSGYESNO(const Value& text, const std::optional<Value>& caption) {
    return show(PromptKind::YesNo, "MSGYESNO", text, caption, "Select an option");
}
bool MSGNOYES(const Value& text, const std::optional<Value>& caption) {
    return show(PromptKind::NoYes, "MSGNOYES", text, caption, "Select an option");
}

void WQOUT(const ValueList& values) {
    std::string text;
    for (const Value& v : values) text += "\r\n" + CVALTOCHAR(v);
    show(PromptKind::Alert, "WQOUT", Value(text), std::nullopt, "Alert");
}

}  // namespace wl

namespace wl {

std::string CGETFILE(const FileDialogRequest& request) {
    Prompt p;
    p.kind = PromptKind::File;
    p.function = "CGETFILE";
    p.caption = request.title.value_or("Select the file");
    p.text = request.filter.value_or("");
    if (auto& hook = currentHook()) return hook(p).file;
    return platformFileDialog(request);
}

}  // namespace wl
