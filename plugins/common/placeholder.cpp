// Placeholder so the plugin_common objects are never empty; replaced as the code arrives.
namespace {
[[maybe_unused]] int placeholder_plugin_common = 0;
}
