// Placeholder so the mirova_kernels objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_mirova_kernels = 0;
}
