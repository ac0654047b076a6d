#include "game/scenarios/storyslot.h"

#include <vector>

#include "platform/text.h"

std::optional<StorySlot> StorySlot::parse(const std::string& text) {
    const std::vector<std::string> fields = plat::split(text, ";");
    if (fields.size() < 2) return std::nullopt;
    return StorySlot{plat::toInt(fields[0]), plat::toInt(fields[1])};
}

std::string StorySlot::text() const { return std::to_string(phase) + ";" + std::to_string(funds); }
