// goto jumps to its label; a missing label is reported on the goto's line and the step goes
// on; a goto out of a brace-less body closes that body; a goto out of a block keeps the block's
// level until the function ends.
int x = 0;
int y = 0;
int z = 0;
int k = 0;
int passes = 0;
void setup() {
  x = 1;
  goto done;
  x = 2;
done:
  x = x + 10;
  goto nowhere;
  y = 2;
  while (z < 100)
    goto out;
out:
  z = 7;
}
void loop() {
  while (1) {
    k++;
    if (k % 3 == 0) goto next;
  }
next:
  passes++;
}
