// Form2
