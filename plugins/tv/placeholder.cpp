// Placeholder so the telvira_core objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_telvira_core = 0;
}
