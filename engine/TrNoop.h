// Marks a text of the engine's tables (messages, cycle names) for the translation tools without
// tying the engine to Qt: the macro is the text itself, and the window translates it on display
// with the same context (ui/Translations: translated()).
#pragma once

#define ORLAN_TR_NOOP(context, text) text
