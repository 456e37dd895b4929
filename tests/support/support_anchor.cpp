// Keeps the test support library valid while it holds no other sources.
namespace ztest {
int SupportAnchor() {
  return 0;
}
}  // namespace ztest
