// An include file that is not in the sketch's folder is an error; the reset goes on.
#include "nope.h"
int a = 1;
void setup() {
}
void loop() {
}
