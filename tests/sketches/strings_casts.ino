// Simulate Uno
String s = "ab";
String t = s + "c";
String u = 5 + s;
float f = 2.5;
String v = "T=" + f;
int i = int(3.7);
int j = (int)f;
float q = float(7) / 2;
String h = String(255, HEX);
String n = String(3.5);
char ch = char(65);
int fi = f * 2;
