// Form1
