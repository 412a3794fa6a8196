// Simulate Uno
// String positions and lengths count 16-bit characters, and what a method builds is valid text.
String s = "héllo";
String t = "€uro";
String sub;
String one;
String built;
int len, at, last, starts, code;

void setup() {
  s.setCharAt(2, 'X');
  len = s.length();
  at = s.indexOf("X");
  last = s.lastIndexOf('o');
  sub = s.substring(1, 3);
  one = s.charAt(1);
  code = s.charAt(1);
  starts = t.startsWith("uro", 1);
  t = t.replace('u', 'U');
  built = "ab";
  built += one;
  built += 'c';
  built += 5;
}

void loop() {
}
