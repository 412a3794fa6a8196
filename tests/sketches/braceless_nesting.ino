// Simulate Uno
// Bodies without braces inside bodies without braces: each closes its own level, innermost
// first, and an else belongs to the nearest open if. Three passes of loop(), then it waits.
int i, j, n, n2, n3, n4, a = 1, b, x1, x2, x3, br, s1, d, q, pass;

void setup() {
}

void loop() {
  for (i = 0; i < 4; i++)
    if (i != 1)
      n++;
  i = 0;
  while (i < 4)
    if (i++ != 1)
      n2++;
  for (i = 0; i < 3; i++)
    for (j = 0; j < 2; j++)
      n3++;
  for (i = 0; i < 3; i++)
    for (j = 0; j < 2; j++) n4++;
  if (a)
    if (b) x1 = 1;
    else x1 = x1 + 2;
  if (b)
    x2 = 1;
  else
    if (a)
      x2 = x2 + 2;
    else
      x2 = 3;
  for (i = 0; i < 3; i++)
    if (i == 1)
      continue;
    else
      x3 += 10;
  for (i = 0; i < 5; i++)
    if (i == 3)
      break;
    else
      br++;
  for (i = 0; i < 3; i++)
    switch (i) {
      case 1:
        s1 += 100;
        break;
      default:
        s1++;
    }
  for (i = 0; i < 3; i++)
    do {
      d++;
    } while (d % 2 != 0);
  if (b)
    q = 1;
  else
    for (i = 0; i < 2; i++)
      q++;
  pass++;
  if (pass == 3) while (true);
}
