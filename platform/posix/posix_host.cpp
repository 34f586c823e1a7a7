// Real host.
