// The window-free part of a single-line edit field: the edit buffer that
// holds the formatted value, applies the field's picture and decides where
// the caret may stand. The field's window only shows the buffer and the
// caret; the value itself lives behind the field's get-set binding.
//
// Pictures: an optional function part ("@!" upper-cases, "@R" keeps the
// template's other characters out of the value) and a template whose
// characters 9 (digit), # (digit, sign, blank, point), A (letter),
// N (letter or digit), X (any), ! (any, upper-cased), L and Y (logical)
// take input; any other template character is a literal the caret skips.
// Positions are 1-based as the field counts them.
#pragma once

#include <string>

#include "value.hpp"

namespace wl {

// The editing switches the whole program shares (insert mode, the bell on
// refused characters, confirm before leaving a full field). Kept outside
// the buffer so a test sets them and hears the bell.
struct GetSwitches {
    bool insert = false;
    bool bell = false;
    bool confirm = false;
};

struct TClipGet {
    char type = 'C';        // "C", "N", "D" or "L"
    std::string picture;    // the whole picture, functions included
    std::string buffer;     // the formatted text being edited
    Value original;         // the value when editing began
    int pos = 1;            // 1-based caret position
    bool hasFocus = false;  // in editing state
    bool changed = false;   // the buffer was edited
    bool rejected = false;  // the last character was refused
    bool typeOut = false;   // the caret ran past the last position
    bool clear = false;     // the next typed character first clears the field
    int decimals = 0;       // digits after the point of a number without picture
};

// A buffer for a value and picture (WLGetNew without the window parts).
TClipGet getNew(const Value& value, const std::string& picture);
// The buffer rebuilt from a value; the caret goes home.
void getUpdateBuffer(TClipGet& g, const Value& value);
// Editing state: entering remembers the starting value and clears the
// change marks; leaving keeps the buffer.
void getSetFocus(TClipGet& g, const Value& value);
void getKillFocus(TClipGet& g);

// The template part of a picture ("99/99" of "@R 99/99").
std::string getTemplate(const std::string& picture);
bool getUpperFunction(const std::string& picture);    // "@!"
bool getKeepsLiterals(const std::string& picture);    // "@R"
// Whether the caret may stand on the position (input goes there).
bool getIsEditable(const TClipGet& g, int pos);
// The 1-based position of the decimal point; 0 when there is none.
int getDecPos(const TClipGet& g);

// Caret moves. Each stays on editable positions; Right past the last one
// sets typeOut.
void getHome(TClipGet& g);
void getEnd(TClipGet& g);
void getLeft(TClipGet& g);
void getRight(TClipGet& g);
void getWordLeft(TClipGet& g);
void getWordRight(TClipGet& g);
void getToDecPos(TClipGet& g);

// A typed character put at the caret, inserted or overwriting. Answers
// whether it was taken; refused characters set rejected.
bool getInsert(TClipGet& g, char c);
bool getOverstrike(TClipGet& g, char c);
// The character at the caret removed (the rest of the editable stretch
// moves left), the one before it, everything from the caret on.
void getDelete(TClipGet& g);
void getBackSpace(TClipGet& g);
void getDelEnd(TClipGet& g);

// The buffer turned back into a value of the buffer's type.
Value getUntransform(const TClipGet& g);
// The buffer holds a date that does not exist.
bool getBadDate(const TClipGet& g);

// A paste of text before the 1-based position: the result is cut back to
// the buffer's length (a number whose digits no longer fit keeps its old
// buffer). Answers false when something did not fit, so the field beeps.
bool getPaste(TClipGet& g, const std::string& text, int pos);
// The caret after a cut of the 0-based selection [start, end): on the
// selection's start, whichever way it was made.
int getCutCaret(int selStart0, int selEnd0);

// The spinner's step for a number: below the point (the caret at or after
// the decimal position) 10^-max(1, pos - decPos - 1), else 1; signed by n.
double getScrollNumberStep(int decPos, int pos, int n);
// The number of the last day of the date's month.
int LastDay(const Date& d);
// A date stepped by n in its part: 'D' days, 'M' months, 'Y' years; a day
// the new month lacks becomes its last day.
Date getScrollDate(const Date& d, char part, int n);
// The part of the date text under the 1-based caret: the letter of the
// date format there, or the one before it when that is no D, M or Y.
char getDatePart(const std::string& dateFormat, int pos);

}  // namespace wl
