// Calls nested in the arguments of math and String functions take their own commas with them.
// indexOf counts from 1: "c" in "abcdef" is 3.
int x = 512;
int n = 4;
String s = "abcdef";
int y = 0;
int z = 0;
long w = 0;
String t = "";
int k = 0;
void setup() {
  y = constrain(map(x, 0, 1023, 0, 255), 0, 100);
  z = max(min(x, 300), 7);
  w = map(constrain(x, 0, 600), 0, 1023, 0, 255);
  t = s.substring(1, min(3, n));
  k = s.indexOf("c", max(0, 1));
}
void loop() {
}
