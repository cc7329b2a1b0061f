// Placeholder so the ravelo objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_ravelo = 0;
}
