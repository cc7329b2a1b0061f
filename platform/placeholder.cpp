// Placeholder so the mirova_platform objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_mirova_platform = 0;
}
