// The footer's value formats: a number through a float mask and a text
// through an edit mask, in a small subset of the usual mask languages.
//
// Float mask: '0' a digit always shown, '#' a digit shown when significant,
// '.' the decimal point (the digits after it give the precision, rounded
// half away from zero), ',' anywhere before the point groups thousands with
// a space; other characters before the first and after the last digit are
// copied around the number. A negative number gets a leading
// '-'. An empty mask gives the shortest plain form.
//
// Edit mask: each of 0 9 # L l A a C c takes the next character of the text
// (missing ones are blanks); '\' copies the next mask character as it is;
// everything from the first ';' on is the mask's options and is ignored;
// other mask characters are copied.
#pragma once

#include <string>

#include "grid/DgTypes.h"

WideString DgFormatFloat(const std::string& Mask, double Value);
WideString DgFormatMaskText(const std::string& Mask, const WideString& Text);
// The number a text holds ('.' or ',' as decimal point), 0 when none.
double DgTextToFloat(const WideString& Text);
