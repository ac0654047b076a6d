// The story's progress as the progress file keeps it in a story slot: the phase and the
// funds, in decimal, joined by ";". The story writes and reads it; the progress file keeps
// it as text and never looks inside.
#pragma once
#include <optional>
#include <string>

struct StorySlot {
    // What every slot holds until the story first writes it.
    static constexpr const char* DEFAULT = "0;5000";

    int phase = 0;
    int funds = 0;

    // The phase and funds of a slot's text (each by the text-to-integer rule); nullopt for a
    // text without ";", which the game never writes.
    static std::optional<StorySlot> parse(const std::string& text);
    std::string text() const;
};
