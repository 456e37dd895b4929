#include <cstdio>

int main(int argc, char** argv) {
  (void)argc;
  (void)argv;
  std::fputs("Zovuzi Editor: the editor has no window yet.\n", stdout);
  return 0;
}
