#include "campaign/screens.h"

const char* const CreditLines[CreditLineCount] = {"", "", "", "", "", "", "", "", "", "", "", ""};
void Intro(tservices&) {}
void Epilogue(tservices&) {}
