// FrmEmail
