// Placeholder until font loading lands.
#include "platform/font.h"
namespace plat {
FontPtr Font::load(const std::string&, int) { return nullptr; }
}  // namespace plat
