// Blocks that never close: a header whose condition fails, break, continue and the skip over
// an else find no closing brace, report it on their own line, leave the levels as they were,
// and the step goes on from the next line.
int x = 0;
int y = 1;
void loop() {
}
void setup() {
  if (x == 1) {
  while (x == 1) {
  for (x = 0; x == 1; x++) {
  switch (x) {
  while (x == 0) {
    break;
    x = 1;
    continue;
    x = 2;
    if (y) {
      y = 2;
    } else {
      y = 3;
