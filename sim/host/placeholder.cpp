// Placeholder so the solvane objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_solvane = 0;
}
