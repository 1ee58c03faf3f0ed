#pragma once
// Error reporting: turns an error code into its German or English message and shows
// it in a modal popup whose title carries the code's number.
//
// An error code is 0 for success or -(class * 1000 + location). The text is chosen by
// q = code / 1000 (truncated toward zero) from the catalogue row of class -q
// (errors/fehlerkatalog.h); a class without a row gives the fallback text. Classes 6 and 9 have
// empty texts; popups for class 6 are not shown at all.
//
// Module state (private): the error language (initially 1 = German; only 2 selects English),
// the message buffer and a pending user text that is appended once to the next message.
// Texts are UTF-8. Not thread-safe: all calls come from the user-interface thread.

// Size of the message buffer in bytes, terminating NUL included: a message never has more
// than FEHLERTEXT_BYTES - 1 bytes; a longer one is cut at a character boundary.
constexpr int FEHLERTEXT_BYTES = 500;
// A pending user text keeps at most this many characters (UTF-8 code points).
constexpr int FEHLERUSERSTRING_MAX_ZEICHEN = 299;
// A ZEM_Fehlerpopup2 title keeps at most this many characters (UTF-8 code points).
constexpr int FEHLERPOPUP2_TITEL_MAX_ZEICHEN = 99;

// Composes the message for code: the catalogue text in the current language followed by the
// pending user text, which is then cleared. Returns the module's message buffer; the pointer
// and its text stay valid and unchanged until the next call (directly or through a popup).
const char* ZEM_Fehlermeldung(int code);

// Shows the message for code in a modal popup (platform MessagePopup) titled "Fehler #<-code>"
// or, in English, "Error #<-code>". Codes of class 6 (-6999 .. -6000) show nothing and leave a
// pending user text pending.
void ZEM_Fehlerpopup(int code);

// As ZEM_Fehlerpopup, but titled titel + " #<-code>" in either language, cut to
// FEHLERPOPUP2_TITEL_MAX_ZEICHEN characters. A null titel counts as empty.
void ZEM_Fehlerpopup2(int code, const char* titel);

// Sets the error language: 2 English, every other value German.
void ZEM_Fehlersprache(int sprache);

// Replaces the pending user text with text (null counts as empty), cut to
// FEHLERUSERSTRING_MAX_ZEICHEN characters. ZEM_Fehleruserstring("") discards a pending text.
void ZEM_Fehleruserstring(const char* text);
