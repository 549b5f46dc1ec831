// Message windows, questions and file choices: the seam between the
// program's logic and its user. On Windows these are real message boxes and
// dialogs; in the native build they use the terminal. A test hook, when set,
// receives every one of them instead, in both builds, and answers them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "value.hpp"

namespace wl {

enum class PromptKind {
    Info,     // MSGINFO: information icon, OK
    Alert,    // MSGALERT, NMSGBOX (and WQOUT through it): warning icon, OK
    Stop,     // MSGSTOP: error icon, OK
    YesNo,    // MSGYESNO: question, Yes the default button
    NoYes,    // MSGNOYES: question, No the default button
    File,     // CGETFILE: the open or save dialog
    Wait,     // MSGRUN, MSGWAIT: a wait window while an action runs
    Choice,   // ALERT: one button per option
    List,     // MSGLIST: a list of options
};

struct Prompt {
    PromptKind kind = PromptKind::Info;
    std::string function;  // the name the program called: "WQOUT", "MSGYESNO", ...
    std::string text;
    std::string caption;
    std::vector<std::string> options;  // ALERT's buttons, MSGLIST's items
    bool isQuestion() const { return kind == PromptKind::YesNo || kind == PromptKind::NoYes; }
};

struct PromptAnswer {
    bool yes = false;  // questions: Yes chosen
    std::string file;  // file choices: the chosen path, "" for Cancel
    int choice = 0;    // ALERT, MSGLIST: the chosen position (from 1), 0 for none
};

using PromptHook = std::function<PromptAnswer(const Prompt&)>;

// Installs (or, with an empty function, removes) the hook.
void setPromptHook(PromptHook hook);

// The hook now set (empty when none), for a hook that hands some prompts on.
PromptHook promptHook();

// Installs a hook for the lifetime of the object and restores the previous one.
class ScopedPromptHook {
public:
    explicit ScopedPromptHook(PromptHook hook);
    ~ScopedPromptHook();
    ScopedPromptHook(const ScopedPromptHook&) = delete;
    ScopedPromptHook& operator=(const ScopedPromptHook&) = delete;

private:
    PromptHook previous_;
};

// The message boxes' own value-to-text rule: "nil" for no value, whole
// numbers as digits, other numbers with six decimals, ".T."/".F.", "Array",
// "Object" for closures.
std::string messageText(const Value& v);

// Each takes the text and, optionally, the caption (the default caption
// otherwise). Both are turned into text by messageText.
void MSGINFO(const Value& text = Value(), const std::optional<Value>& caption = std::nullopt);
void MSGALERT(const Value& text = Value(), const std::optional<Value>& caption = std::nullopt);
void NMSGBOX(const Value& text = Value(), const std::optional<Value>& caption = std::nullopt);
void MSGSTOP(const Value& text = Value(), const std::optional<Value>& caption = std::nullopt);
bool MSGYESNO(const Value& text = Value(), const std::optional<Value>& caption = std::nullopt);
bool MSGNOYES(const Value& text = Value(), const std::optional<Value>& caption = std::nullopt);

// The values as text (CVALTOCHAR), each preceded by CR LF, in a box titled
// "Alert".
void WQOUT(const ValueList& values);

// CGETFILE's arguments; each may be left out.
struct FileDialogRequest {
    std::optional<std::string> filter;  // "Description|*.ext|..." or a plain mask
    std::optional<std::string> title;   // default "Select the file"
    int filterIndex = 0;
    std::optional<std::string> initialDir;
    std::optional<bool> save;
    bool longNames = false;
    std::optional<unsigned> flags;
    std::optional<std::string> initialFile;
};

// The file open (or save) dialog: the chosen path, "" on Cancel.
std::string CGETFILE(const FileDialogRequest& request);

// Hands the prompt to the hook when one is set: true, with its answer.
bool hookAnswer(const Prompt& prompt, PromptAnswer& answer);

// Shows one box on the platform (no hook involved). Answers true for Yes.
bool platformMessageBox(const Prompt& prompt);
// Runs the platform's file dialog (no hook involved).
std::string platformFileDialog(const FileDialogRequest& request);

}  // namespace wl
