// Placeholder so the mirova_directplay objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_mirova_directplay = 0;
}
