// Placeholder so the mirova_render objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_mirova_render = 0;
}
