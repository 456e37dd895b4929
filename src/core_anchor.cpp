// Keeps zcore a valid library while a build holds no subsystem sources yet.
namespace zcore {
int LibraryAnchor() {
  return 0;
}
}  // namespace zcore
