// setup() is found by its header also with (void) for its parameters.
int x;
void setup(void) {
  x = 1;
}
