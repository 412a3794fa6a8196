// Simulate Uno
// Parses a command line with the String methods and classifies its characters.
String line = "  set Motor=0x1F;  ";
String key = "";
String value = "";
String shout = "";
String joined = "id";
String fruit = "banana";
String first = "";
long eq = 0;
long number = 0;
long firstA = 0;
long lastA = 0;
long afterFour = 0;
long beforeFour = 0;
long size = 0;
long order = 0;
long same = 0;
long starts = 0;
long ends = 0;
long letters = 0;
long digits = 0;
char c = ' ';
int i = 0;

void setup() {
  line.trim();
  eq = line.indexOf('=');
  key = line.substring(4, eq - 1);
  value = line.substring(eq, line.length() - 1);
  number = value.toInt();
  shout = key;
  shout.toUpperCase();
  same = key.equalsIgnoreCase("MOTOR");
  order = key.compareTo("Motor");
  starts = line.startsWith("set");
  ends = line.endsWith(';');
  firstA = fruit.indexOf("an");
  lastA = fruit.lastIndexOf("an");
  afterFour = fruit.indexOf('a', 4);
  beforeFour = fruit.lastIndexOf('a', 3);
  fruit.replace('a', 'o');
  fruit.setCharAt(0, 'B');
  joined.concat(number);
  joined.concat('#');
  size = joined.length();
  first = String(number, HEX) + "/" + String(number, BIN);
  for (i = 0; i < line.length(); i++) {
    c = line.charAt(i);
    if (isAlpha(c)) {
      letters++;
    }
    if (isDigit(c)) {
      digits++;
    }
  }
}

void loop() {
}
