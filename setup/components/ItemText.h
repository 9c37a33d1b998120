#pragma once
// The text rules of components: options in installer parameters, the share
// name made of a driver name, and the model placeholder of display texts.
//
// An option is a slash, its letter (any case) and what follows up to the next
// slash: in "/S /I 1 /Q" the option I is "/I 1 ". Only a letter that stands
// alone counts: "/INF" and "/IP" are options of their own, not I options.

#include <string>

namespace item_text {

// Removes the first |letter| option from |parameters|: from its slash up to
// the character before the next slash (which stays), or to the end. False
// when there is none.
bool RemoveOption(std::wstring& parameters, wchar_t letter);
// The value of the first |letter| option (after the letter, up to the next
// slash), trimmed of blanks, tabs and double quotes; false when there is none.
bool OptionValue(const std::wstring& parameters, wchar_t letter, std::wstring& value);

// A printer's parameters: with an index, " /I <index>" in place of any I
// option; else, with a driver name, " /O \"<name>\"" in place of any O
// option. A result of more than 8191 characters leaves the text empty.
void ModifyPrinterParameters(std::wstring& parameters, int driverIndex, const std::wstring& driverName);

// The install parameters with the port: any P option removed, a blank
// appended and, with a port, "/P\"<port>\"".
std::wstring WithPrinterPort(const std::wstring& parameters, const std::wstring& port);

// The share name of a driver: upper-cased, the manufacturer and "SERIES"
// removed, blanks and "-" removed, "VIZODA" read as "P" and "DIZADUVURA" as
// "WC"; for a " PCL 6" or " PS" driver only the leading letters and underscores.
std::wstring ShareNameOf(const std::wstring& driverName, const std::wstring& manufacturer);

// The first "%...%" placeholder and every "%s" replaced by |model|.
std::wstring WithModelName(const std::wstring& text, const std::wstring& model);

// |text| trimmed of blanks, tabs and double quotes.
std::wstring TrimQuoted(const std::wstring& text);

}  // namespace item_text
