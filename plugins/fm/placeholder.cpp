// Placeholder so the sonidra_core objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_sonidra_core = 0;
}
