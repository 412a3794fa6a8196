// Every error of the reset scan is printed as it is found, each at its own line.
void setup() {
  int a = 1;
}
}
}
foo bar;
}
void loop() {
  oops(;
}
