// A sketch without loop(): setup()'s closing brace reports it, and the sketch ends.
int x = 0;
void setup() {
  x = 1;
}
int y = 2;
